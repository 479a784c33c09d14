#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <queue>
#include <thread>
#include <vector>

#include "packer/blockdeflater.h"

namespace brelvik {

// Deflates blocks on worker threads and gives them back in the order they were handed in.
class DeflatePool {
  public:
    // Throws PackFailure when a worker's deflater cannot be made, std::system_error when its
    // thread cannot be started.
    DeflatePool(int level, unsigned threads);
    // Drops the blocks not yet begun and waits for the workers.
    ~DeflatePool();
    DeflatePool(const DeflatePool&) = delete;
    DeflatePool& operator=(const DeflatePool&) = delete;

    void Submit(DeflateBlock block);
    // Blocks handed in and not yet taken back.
    std::size_t Pending() const { return slots_.size(); }
    // Whether the oldest pending block is deflated, so that taking it will not wait.
    bool Oldest_ready();
    // The oldest pending block once deflated; rethrows what its deflating threw.
    DeflateBlock Take_oldest();

  private:
    struct Slot {
        DeflateBlock block;
        bool done = false;
        std::exception_ptr error;
    };

    void Work(BlockDeflater& deflater);
    void Stop();

    std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable deflated_;
    std::deque<std::unique_ptr<Slot>> slots_;  // in the order handed in
    std::queue<Slot*> waiting_;                // not yet begun
    bool stopping_ = false;
    std::vector<std::unique_ptr<BlockDeflater>> deflaters_;
    std::vector<std::thread> workers_;
};

}  // namespace brelvik
