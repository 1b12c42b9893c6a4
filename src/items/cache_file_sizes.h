#pragma once
// The cache files a load asks for, looked up on a thread of their own while the load goes on:
// the collecting pass names each folder's files as it reads the folder, in the order the
// building pass asks for them, and a lookup costs as much as building the item. Without a
// thread each is looked up when asked for.

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace pw::items {

class CacheFileSizes {
public:
    CacheFileSizes() = default;
    ~CacheFileSizes();
    CacheFileSizes(const CacheFileSizes&) = delete;
    CacheFileSizes& operator=(const CacheFileSizes&) = delete;

    // The collecting pass: files of one folder (directory ends with "/"), in the order the
    // building pass asks for them.
    void Add(std::string directory, std::vector<std::string> names);
    // No more folders follow.
    void Finish();
    // The building pass: the size of the next file in the order added, as
    // FolderLookup::FileSize gives it; -1 when all have been asked for.
    long long Next();

private:
    static constexpr long long kPending = -2;
    struct Folder {
        std::string Directory;
        std::vector<std::string> Names;
        std::unique_ptr<std::atomic<long long>[]> Sizes;
    };
    static void LookUp(Folder& folder);
    void Run();

    // Appended by the collecting pass under mutex_; the thread takes them in turn.
    std::vector<std::unique_ptr<Folder>> folders_;
    std::mutex mutex_;
    std::condition_variable added_;
    size_t taken_ = 0;
    bool finished_ = false;
    bool stop_ = false;
    std::thread thread_;
    bool noThread_ = false;
    // The building pass's position.
    size_t folder_ = 0;
    size_t name_ = 0;
};

} // namespace pw::items
