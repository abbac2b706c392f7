#pragma once
// Independent pieces of one idle step on the machine's cores.
//
// An analysis that owns several independent analyses (the stations of a member, the lines or
// rays of an interaction diagram) steps them together with RunInParallel: each task touches
// only its own analysis, so the results do not depend on how many workers share the work or
// in which order they finish. The calling thread (the main thread) does no task itself; while
// it waits it carries out what the tasks hand to it with RunOnMainThread: message boxes,
// debug drawing and any other call into the window code, which only the main thread may make.
//
// With one worker, and inside a task, the tasks run in order on the calling thread.

#include <functional>

// Workers that RunInParallel uses: the machine's cores unless set.
int GetWorkerCount();
// Sets the number of workers (values below 1 take the machine's cores). Not to be called from
// a task. The threads are made at the next parallel run.
void SetWorkerCount(int count);

// Runs task(i) for every i in [0, count) and returns when all have ended. An exception
// thrown by a task is thrown again here once every task has ended.
void RunInParallel(int count, const std::function<void(int)>& task);

// Runs work on the thread that started the parallel run and waits for it; outside a task it
// runs at once. Exceptions of work reach the caller.
void RunOnMainThread(const std::function<void()>& work);

// True on a worker thread while it runs a task.
bool InParallelTask();

// Sets the worker count for the lifetime of the guard (tests and benchmarks).
class ScopedWorkerCount {
public:
    explicit ScopedWorkerCount(int count) : m_previous(GetWorkerCount()) { SetWorkerCount(count); }
    ~ScopedWorkerCount() { SetWorkerCount(m_previous); }
    ScopedWorkerCount(const ScopedWorkerCount&) = delete;
    ScopedWorkerCount& operator=(const ScopedWorkerCount&) = delete;

private:
    int m_previous;
};
