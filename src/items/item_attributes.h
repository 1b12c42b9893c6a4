#pragma once
// The item attribute table: path, params, work dir, window state and run-as of every link,
// keyed by item id. The path array is indexed by id; the other attributes are (id, value) pairs
// whose first pair for an id counts. An absent id reads as "" or false; a change of an absent id
// does nothing. Entries are never removed before the next load.

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "util/sparse_text.h"

namespace pw::items {

// Window state words.
inline constexpr const char* kWindowMax = "WindowMax";
inline constexpr const char* kWindowMin = "WindowMin";
inline constexpr const char* kWindowHid = "WindowHid";

// The kind a link was created as (CreateItem's kinds 3, 4 and 5).
enum class LinkKind { Executable = 3, Unknown = 4, Net = 5 };

class ItemAttributes {
public:
    void Clear();
    // Room for this many links, programs among them, so that a load grows no table.
    void Reserve(int links, int programs);

    // Appends the path of the next id (the id must equal PathCount()) and the kind it has.
    void AppendPath(std::string path, LinkKind kind);
    int PathCount() const { return static_cast<int>(paths_.size()); }
    // The stored path, unresolved; "" for an unknown id.
    const std::string& Path(int32_t id) const;
    void SetPath(int32_t id, std::string path);
    LinkKind Kind(int32_t id) const;

    void AddParams(int32_t id, std::string value) { params_.Add(id, std::move(value)); }
    void AddWorkDir(int32_t id, std::string value) { workDirs_.Add(id, std::move(value)); }
    void AddWindowState(int32_t id, std::string value) { windowStates_.Add(id, std::move(value)); }
    void AddRunAs(int32_t id, bool value) { runAs_.Add(id, value); }

    std::string Params(int32_t id) const { return params_.Get(id); }
    std::string WorkDir(int32_t id) const { return workDirs_.Get(id); }
    std::string WindowState(int32_t id) const { return windowStates_.Get(id); }
    bool RunAs(int32_t id) const { return runAs_.Get(id); }

    void SetParams(int32_t id, const std::string& value) { params_.Set(id, value); }
    void SetWorkDir(int32_t id, const std::string& value) { workDirs_.Set(id, value); }
    void SetWindowState(int32_t id, const std::string& value) { windowStates_.Set(id, value); }
    void SetRunAs(int32_t id, bool value) { runAs_.Set(id, value); }

    // The icon cache file an Executable link was loaded with (its record's icon field), so that
    // a save can leave an unchanged picture where it is; "" when none.
    void SetLoadedIconFile(int32_t id, std::string name);
    const std::string& LoadedIconFile(int32_t id) const;

    bool HasParams(int32_t id) const { return params_.Has(id); }
    bool HasWorkDir(int32_t id) const { return workDirs_.Has(id); }
    bool HasWindowState(int32_t id) const { return windowStates_.Has(id); }
    bool HasRunAs(int32_t id) const { return runAs_.Has(id); }

private:
    // (id, value) pairs in the order added; the first pair of an id is the one that counts.
    // Ids are handed out one after the other from 0, so the first pair of each id is found by
    // a table indexed by id. Most texts are empty: they are kept sparse.
    template <typename T> class Pairs {
        using Stored = std::conditional_t<std::is_same_v<T, std::string>, SparseText, T>;

    public:
        void Add(int32_t id, T value) {
            if (id >= 0) {
                const auto at = static_cast<size_t>(id);
                if (at >= first_.size())
                    first_.resize(at + 1, kNone);
                if (first_[at] == kNone)
                    first_[at] = static_cast<uint32_t>(list_.size());
            }
            list_.emplace_back(id, std::move(value));
        }
        T Get(int32_t id) const {
            const uint32_t at = Find(id);
            return at == kNone ? T{} : T(list_[at].second);
        }
        void Set(int32_t id, const T& value) {
            const uint32_t at = Find(id);
            if (at != kNone)
                list_[at].second = value;
        }
        bool Has(int32_t id) const { return Find(id) != kNone; }
        void Reserve(int count) {
            list_.reserve(static_cast<size_t>(count));
            first_.reserve(static_cast<size_t>(count));
        }
        void Clear() {
            list_.clear();
            first_.clear();
        }

    private:
        static constexpr uint32_t kNone = static_cast<uint32_t>(-1);
        uint32_t Find(int32_t id) const {
            return id >= 0 && static_cast<size_t>(id) < first_.size()
                       ? first_[static_cast<size_t>(id)]
                       : kNone;
        }
        std::vector<std::pair<int32_t, Stored>> list_;
        std::vector<uint32_t> first_;
    };

    std::vector<std::string> paths_;
    std::vector<LinkKind> kinds_;
    Pairs<std::string> params_, workDirs_, windowStates_;
    Pairs<bool> runAs_;
    std::vector<SparseText> loadedIconFiles_; // by id
};

} // namespace pw::items
