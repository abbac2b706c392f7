#include "foundation/WorkerPool.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace {

// The cap keeps a many-core machine from making more threads than any step has analyses.
constexpr int kMaxWorkers = 64;

class Pool;
// The pool whose task this thread is running (null outside a task).
thread_local Pool* t_taskPool = nullptr;

class Pool {
public:
    explicit Pool(int workers)
    {
        m_threads.reserve(static_cast<std::size_t>(workers));
        for (int i = 0; i < workers; ++i)
            m_threads.emplace_back([this] { Work(); });
    }

    ~Pool()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_wake.notify_all();
        m_threads.clear(); // each jthread joins
    }

    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

    int Size() const { return static_cast<int>(m_threads.size()); }

    void Run(int count, const std::function<void(int)>& task)
    {
        std::unique_lock lock(m_mutex);
        m_task = &task;
        m_count = count;
        m_next = 0;
        m_done = 0;
        m_error = nullptr;
        m_wake.notify_all();
        for (;;) {
            m_main.wait(lock, [&] { return m_done == m_count || !m_requests.empty(); });
            while (!m_requests.empty()) {
                Request* request = m_requests.front();
                m_requests.pop_front();
                lock.unlock();
                try {
                    (*request->work)();
                } catch (...) {
                    request->error = std::current_exception();
                }
                lock.lock();
                request->done = true;
                m_reply.notify_all();
            }
            if (m_done == m_count)
                break;
        }
        m_task = nullptr;
        const std::exception_ptr error = std::exchange(m_error, nullptr);
        lock.unlock();
        if (error)
            std::rethrow_exception(error);
    }

    // From a task: has the main thread run work, waiting until it has.
    void Post(const std::function<void()>& work)
    {
        Request request;
        request.work = &work;
        std::unique_lock lock(m_mutex);
        m_requests.push_back(&request);
        m_main.notify_all();
        m_reply.wait(lock, [&] { return request.done; });
        lock.unlock();
        if (request.error)
            std::rethrow_exception(request.error);
    }

private:
    struct Request {
        const std::function<void()>* work = nullptr;
        bool done = false;
        std::exception_ptr error;
    };

    void Work()
    {
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return m_stopping || (m_task != nullptr && m_next < m_count); });
            if (m_stopping)
                return;
            const int i = m_next++;
            const std::function<void(int)>& task = *m_task;
            lock.unlock();
            t_taskPool = this;
            try {
                task(i);
            } catch (...) {
                const std::lock_guard errorLock(m_mutex);
                if (!m_error)
                    m_error = std::current_exception();
            }
            t_taskPool = nullptr;
            lock.lock();
            if (++m_done == m_count)
                m_main.notify_all();
        }
    }

    std::mutex m_mutex;
    std::condition_variable m_wake;  // workers: a task to take, or stop
    std::condition_variable m_main;  // the main thread: all tasks ended, or a request
    std::condition_variable m_reply; // a task: its request was carried out
    const std::function<void(int)>* m_task = nullptr;
    int m_count = 0;
    int m_next = 0;
    int m_done = 0;
    std::exception_ptr m_error;
    std::deque<Request*> m_requests;
    bool m_stopping = false;
    std::vector<std::jthread> m_threads; // last: joined before the members above go
};

int MachineCores()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return std::clamp(static_cast<int>(cores), 1, kMaxWorkers);
}

int g_workerCount = 0; // 0: the machine's cores
std::unique_ptr<Pool> g_pool;

} // namespace

int GetWorkerCount()
{
    return g_workerCount > 0 ? g_workerCount : MachineCores();
}

void SetWorkerCount(int count)
{
    g_workerCount = std::clamp(count, 0, kMaxWorkers);
    if (g_pool && g_pool->Size() != GetWorkerCount())
        g_pool.reset();
}

void RunInParallel(int count, const std::function<void(int)>& task)
{
    const int workers = GetWorkerCount();
    if (count <= 1 || workers <= 1 || t_taskPool != nullptr) {
        for (int i = 0; i < count; ++i)
            task(i);
        return;
    }
    if (!g_pool || g_pool->Size() != workers)
        g_pool = std::make_unique<Pool>(workers);
    g_pool->Run(count, task);
}

void RunOnMainThread(const std::function<void()>& work)
{
    if (t_taskPool != nullptr)
        t_taskPool->Post(work);
    else
        work();
}

bool InParallelTask()
{
    return t_taskPool != nullptr;
}
