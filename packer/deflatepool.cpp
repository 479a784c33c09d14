#include "packer/deflatepool.h"

namespace brelvik {

DeflatePool::DeflatePool(int level, unsigned threads) {
    for (unsigned i = 0; i < threads; ++i) {
        deflaters_.push_back(std::make_unique<BlockDeflater>(level));
    }
    try {
        for (const std::unique_ptr<BlockDeflater>& deflater : deflaters_) {
            workers_.emplace_back([this, &deflater] { Work(*deflater); });
        }
    } catch (...) {
        Stop();  // a thread the system refused must not leave the others running
        throw;
    }
}

DeflatePool::~DeflatePool() {
    Stop();
}

void DeflatePool::Stop() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    for (std::thread& worker : workers_) {
        worker.join();
    }
}

void DeflatePool::Submit(DeflateBlock block) {
    auto slot = std::make_unique<Slot>();
    slot->block = std::move(block);
    {
        const std::lock_guard lock(mutex_);
        waiting_.push(slot.get());
        slots_.push_back(std::move(slot));
    }
    queued_.notify_one();
}

bool DeflatePool::Oldest_ready() {
    const std::lock_guard lock(mutex_);
    return !slots_.empty() && slots_.front()->done;
}

DeflateBlock DeflatePool::Take_oldest() {
    std::unique_lock lock(mutex_);
    deflated_.wait(lock, [this] { return slots_.front()->done; });
    const std::unique_ptr<Slot> slot = std::move(slots_.front());
    slots_.pop_front();
    lock.unlock();
    if (slot->error) {
        std::rethrow_exception(slot->error);
    }
    return std::move(slot->block);
}

void DeflatePool::Work(BlockDeflater& deflater) {
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
        if (stopping_) {
            return;
        }
        Slot* slot = waiting_.front();
        waiting_.pop();
        lock.unlock();
        try {
            deflater.Deflate(slot->block);
        } catch (...) {
            slot->error = std::current_exception();
        }
        lock.lock();
        slot->done = true;
        deflated_.notify_all();
    }
}

}  // namespace brelvik
