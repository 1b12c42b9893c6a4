namespace pw { int placeholder_ = 0; }
