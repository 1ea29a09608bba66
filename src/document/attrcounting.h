// The attribute layer of a large map counted on a thread of its own, so
// that opening the map does not wait for it. The count is of the attribute
// layer's chunks as they were at the start, shared, not copied;
// the edits made meanwhile are counted by the table as usual (see
// CAttrValueTable::StartCounting).
#pragma once

#include <QTimer>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include "attrvalues.h"
#include "celllayers.h"

class CAttrValueCounting {
public:
    using Done = std::function<void(const std::vector<std::uint32_t>& counts)>;
    // Starts counting cells' attribute layer; done gets the counts on the
    // interface thread, unless this object goes first.
    CAttrValueCounting(const CCellLayers& cells, Done done);
    // Stops the count and waits for its thread.
    ~CAttrValueCounting();
    CAttrValueCounting(const CAttrValueCounting&) = delete;
    CAttrValueCounting& operator=(const CAttrValueCounting&) = delete;

private:
    void Poll();

    struct Work {
        AttrLayerChunks layer;
        std::atomic<bool> stop{false};
        std::atomic<bool> finished{false};
        std::vector<std::uint32_t> counts;
    };
    std::shared_ptr<Work> m_work;
    Done m_done;
    std::thread m_thread;
    QTimer m_poll;
};
