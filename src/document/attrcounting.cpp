#include "attrcounting.h"

namespace {
// Often enough that the counts come within a frame or two of being ready.
constexpr int kPollMs = 20;
}  // namespace

CAttrValueCounting::CAttrValueCounting(const CCellLayers& cells, Done done)
    : m_work(std::make_shared<Work>()), m_done(std::move(done))
{
    m_work->layer = AttrLayerChunksOf(cells);
    m_thread = std::thread([work = m_work] {
        work->counts = CountAttrValues(work->layer, work->stop);
        // The chunks go now: the map's edits need not copy them any more.
        work->layer = AttrLayerChunks();
        work->finished.store(true, std::memory_order_release);
    });
    m_poll.setInterval(kPollMs);
    QObject::connect(&m_poll, &QTimer::timeout, [this] { Poll(); });
    m_poll.start();
}

CAttrValueCounting::~CAttrValueCounting()
{
    m_poll.stop();
    m_work->stop = true;
    if (m_thread.joinable()) m_thread.join();
}

void CAttrValueCounting::Poll()
{
    if (!m_work->finished.load(std::memory_order_acquire)) return;
    m_poll.stop();
    m_thread.join();
    m_done(m_work->counts);
}
