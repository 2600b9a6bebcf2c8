#include "engine/audio/block_queue.h"

namespace vexa::engine {

bool BlockQueue::prepare(WaveDevice d, WaveHeader& h) noexcept
{
    if (!owns(d) || h.data == nullptr) return false;
    h.flags |= WaveHeader::kPrepared;
    return true;
}

bool BlockQueue::enqueue(WaveDevice d, WaveHeader& h)
{
    if (!owns(d) || failed || !(h.flags & WaveHeader::kPrepared) || (h.flags & WaveHeader::kInQueue))
        return false;
    h.flags = (h.flags | WaveHeader::kInQueue) & ~WaveHeader::kDone;
    queue.push_back(&h);
    return true;
}

bool BlockQueue::unprepare(WaveDevice d, WaveHeader& h) noexcept
{
    if (!owns(d) || (h.flags & WaveHeader::kInQueue)) return false;
    h.flags &= ~WaveHeader::kPrepared;
    return true;
}

std::vector<WaveHeader*> BlockQueue::takeAll()
{
    std::vector<WaveHeader*> taken(queue.begin(), queue.end());
    queue.clear();
    for (WaveHeader* h : taken) markReturned(*h);
    return taken;
}

std::vector<WaveHeader*> BlockQueue::fail()
{
    failed = true;
    return takeAll();
}

void BlockQueue::stopWorker(std::condition_variable& wake, std::unique_lock<std::mutex>& lock)
{
    if (!worker.joinable()) return;
    quit = true;
    wake.notify_all();
    std::thread stopping = std::move(worker);
    lock.unlock();
    if (stopping.get_id() == std::this_thread::get_id())
        stopping.detach();
    else
        stopping.join();
    lock.lock();
}

void BlockQueue::deliver(WaveMessage message, WaveHeader* h, std::unique_lock<std::mutex>& lock)
{
    const WaveBackend::Notify client = notify;
    const WaveDevice from = device;
    lock.unlock();
    if (client) client(WaveEvent{message, from, h});
    lock.lock();
}

void notifyEach(const WaveBackend::Notify& notify, WaveMessage message, WaveDevice device,
                std::span<WaveHeader* const> blocks)
{
    if (!notify) return;
    for (WaveHeader* h : blocks) notify(WaveEvent{message, device, h});
}

}  // namespace vexa::engine
