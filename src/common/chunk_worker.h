#pragma once

#include <functional>
#include <semaphore>
#include <thread>

namespace morva {

// A thread beside the caller's that runs one job at a time: a chunk's work (sealing, opening)
// while the caller reads and writes the chunks around it. One thread for all the chunks keeps to
// a core of its own; a thread started for each chunk would begin on the caller's core and lose
// most of the overlap.
class ChunkWorker {
public:
    ChunkWorker();
    // Waits for a job still running, then ends the thread.
    ~ChunkWorker();
    ChunkWorker(const ChunkWorker &) = delete;
    ChunkWorker &operator=(const ChunkWorker &) = delete;

    // Starts job on the worker's thread; the one before must have been waited for.
    void start(std::function<void()> job);
    // Waits until the started job has run.
    void wait();

private:
    void run();

    std::function<void()> job_;
    bool busy_ = false;     // the caller's alone
    bool stopping_ = false; // set before go_ is released, which hands it over
    std::binary_semaphore go_{0};
    std::binary_semaphore done_{0};
    std::thread thread_; // last: started once the rest exists
};

} // namespace morva
