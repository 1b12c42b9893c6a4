#include "items/cache_file_sizes.h"

#include <system_error>

#include "items/folder_lookup.h"

namespace pw::items {

CacheFileSizes::~CacheFileSizes() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
    }
    added_.notify_one();
    if (thread_.joinable())
        thread_.join();
}

void CacheFileSizes::Add(std::string directory, std::vector<std::string> names) {
    if (names.empty())
        return;
    auto folder = std::make_unique<Folder>();
    folder->Directory = std::move(directory);
    folder->Names = std::move(names);
    folder->Sizes = std::make_unique<std::atomic<long long>[]>(folder->Names.size());
    for (size_t i = 0; i < folder->Names.size(); ++i)
        folder->Sizes[i].store(kPending, std::memory_order_relaxed);
    {
        std::lock_guard<std::mutex> lock(mutex_);
        folders_.push_back(std::move(folder));
    }
    if (!thread_.joinable() && !noThread_) {
        try {
            thread_ = std::thread([this] { Run(); });
        } catch (const std::system_error&) {
            noThread_ = true; // looked up as asked for
        }
    }
    added_.notify_one();
}

void CacheFileSizes::Finish() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finished_ = true;
    }
    added_.notify_one();
}

void CacheFileSizes::LookUp(Folder& folder) {
    const FolderLookup lookup(folder.Directory);
    for (size_t i = 0; i < folder.Names.size(); ++i)
        if (folder.Sizes[i].load(std::memory_order_acquire) == kPending)
            folder.Sizes[i].store(lookup.FileSize(folder.Names[i]), std::memory_order_release);
}

void CacheFileSizes::Run() {
    for (;;) {
        Folder* folder = nullptr;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            added_.wait(lock, [this] { return stop_ || finished_ || taken_ < folders_.size(); });
            if (stop_ || taken_ == folders_.size())
                return;
            folder = folders_[taken_++].get();
        }
        LookUp(*folder);
    }
}

long long CacheFileSizes::Next() {
    // Only this thread appends to folders_: reading it needs no lock here.
    while (folder_ < folders_.size() && name_ >= folders_[folder_]->Names.size()) {
        ++folder_;
        name_ = 0;
    }
    if (folder_ >= folders_.size())
        return -1;
    Folder& folder = *folders_[folder_];
    const size_t at = name_++;
    long long size = folder.Sizes[at].load(std::memory_order_acquire);
    if (size != kPending)
        return size;
    if (noThread_) {
        LookUp(folder);
        return folder.Sizes[at].load(std::memory_order_acquire);
    }
    while ((size = folder.Sizes[at].load(std::memory_order_acquire)) == kPending)
        std::this_thread::yield();
    return size;
}

} // namespace pw::items
