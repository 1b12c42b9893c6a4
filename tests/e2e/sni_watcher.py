#!/usr/bin/python3
"""The end-to-end tests' status notifier tray: a watcher and host on the test's private session
bus, and a client that reads an item's properties and clicks it, as a desktop shell's tray does
(freedesktop StatusNotifierItem, the org.kde names every tray uses).

    sni_watcher.py serve LOG             own org.kde.StatusNotifierWatcher, act as the host;
                                         LOG gets "ready", then "item SERVICE PATH" per
                                         registration and "gone SERVICE" when an item's owner
                                         leaves the bus
    sni_watcher.py props SERVICE PATH    print the item's properties, one "Name=value" a line
    sni_watcher.py call SERVICE PATH METHOD [ARG...]
                                         call Activate, SecondaryActivate, ContextMenu (x y)
    sni_watcher.py twice SERVICE PATH METHOD X Y
                                         the same call twice at once (a double activation)

Runs with the system's python3 (Debian python3-dbus and python3-gi).
"""

import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"
WATCHER_PATH = "/StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
DEFAULT_ITEM_PATH = "/StatusNotifierItem"

# Clients read the watcher's properties through an introspected interface (Qt's QDBusInterface
# does), so the introspection data has to declare them.
INTROSPECTION = """<node>
 <interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
 </interface>
 <interface name="org.freedesktop.DBus.Properties">
  <method name="Get">
   <arg name="interface" type="s" direction="in"/><arg name="name" type="s" direction="in"/>
   <arg name="value" type="v" direction="out"/>
  </method>
  <method name="GetAll">
   <arg name="interface" type="s" direction="in"/>
   <arg name="values" type="a{sv}" direction="out"/>
  </method>
 </interface>
 <interface name="org.freedesktop.DBus.Introspectable">
  <method name="Introspect"><arg name="data" type="s" direction="out"/></method>
 </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, WATCHER_PATH)
        self.bus = bus
        self.log = log
        self.items = []  # "service/path" strings, as the watcher publishes them
        self.owners = {}  # item -> unique name of its owner
        self.hosts = []
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus", "org.freedesktop.DBus",
                                "/org/freedesktop/DBus")

    def note(self, line):
        with open(self.log, "a") as f:
            f.write(line + "\n")

    def owner_changed(self, name, old, new):
        if new:
            return
        for item in [i for i in self.items if self.owners.get(i) == old or i.startswith(name + "/")]:
            self.items.remove(item)
            self.owners.pop(item, None)
            self.note("gone " + item.split("/", 1)[0])
            self.StatusNotifierItemUnregistered(item)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # A bus name (the item at the usual path) or an object path of the caller.
        if service.startswith("/"):
            name, path = sender, service
        else:
            name, path = service, DEFAULT_ITEM_PATH
        item = name + path
        if item not in self.items:
            self.items.append(item)
            self.owners[item] = sender
        self.note("item %s %s" % (name, path))
        self.StatusNotifierItemRegistered(item)

    @dbus.service.method(WATCHER, in_signature="s", out_signature="")
    def RegisterStatusNotifierHost(self, service):
        self.hosts.append(service)
        self.StatusNotifierHostRegistered()

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, item):
        pass

    @dbus.service.signal(WATCHER, signature="")
    def StatusNotifierHostRegistered(self):
        pass

    def properties(self):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": dbus.Boolean(bool(self.hosts)),
            "ProtocolVersion": dbus.Int32(0),
        }

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties()[name]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties()

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, in_signature="", out_signature="s")
    def Introspect(self):
        return INTROSPECTION


def serve(log):
    bus = dbus.SessionBus()
    watcher = Watcher(bus, log)
    # The host of this tray: its own name, registered before the watcher's name is taken, so a
    # client that finds the watcher finds a host as well.
    host = dbus.service.BusName("org.kde.StatusNotifierHost-%d" % os.getpid(), bus)
    watcher.RegisterStatusNotifierHost(host.get_name())
    name = dbus.service.BusName(WATCHER, bus, do_not_queue=True)
    watcher.note("ready")
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()
    del name


def item_object(service, path):
    return dbus.SessionBus().get_object(service, path)


def props(service, path):
    values = dbus.Interface(item_object(service, path), dbus.PROPERTIES_IFACE).GetAll(ITEM)
    for key in sorted(values):
        value = values[key]
        if key in ("IconPixmap", "AttentionIconPixmap", "OverlayIconPixmap"):
            text = ",".join("%dx%d:%d" % (int(w), int(h), len(data)) for w, h, data in value)
        elif key == "ToolTip":
            text = str(value[2])  # icon name, pictures, title, text: the title
        else:
            text = str(value)
        print("%s=%s" % (key, text))


def call(service, path, method, args, times=1):
    item = dbus.Interface(item_object(service, path), ITEM)
    values = [dbus.Int32(int(a)) for a in args]
    if times == 1:
        getattr(item, method)(*values)
        return
    # Both calls leave before either reply comes back, as two clicks in a row would.
    loop = GLib.MainLoop()
    pending = [times]

    def done(*_):
        pending[0] -= 1
        if pending[0] == 0:
            loop.quit()

    for _ in range(times):
        getattr(item, method)(*values, reply_handler=done, error_handler=done)
    GLib.timeout_add(5000, loop.quit)
    loop.run()


def main(argv):
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    if len(argv) == 3 and argv[1] == "serve":
        serve(argv[2])
    elif len(argv) == 4 and argv[1] == "props":
        props(argv[2], argv[3])
    elif len(argv) >= 5 and argv[1] == "call":
        call(argv[2], argv[3], argv[4], argv[5:])
    elif len(argv) == 7 and argv[1] == "twice":
        call(argv[2], argv[3], argv[4], argv[5:], times=2)
    else:
        sys.stderr.write(__doc__)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
