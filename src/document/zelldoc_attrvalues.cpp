// The names and colours of attribute values, in the file beside the map.
#include <filesystem>

#include "attrcounting.h"
#include "attrvaluesfile.h"
#include "maphint.h"
#include "zelldoc.h"
#include "translation.h"

void CZellDoc::TakeAttrValuesFor(const std::string& mapPath)
{
    // A count of the map before is of no use any more.
    m_attrCounting.reset();
    m_attrValues = CAttrValueTable();
    // A large map's values are counted after its first paint, on a thread:
    // 2^28 cells take about a second. The list fills in when they are.
    constexpr std::size_t kCountApartFrom = std::size_t(1) << 22;
    if (Cells().CellCount() < kCountApartFrom) {
        m_attrValues.Recount(Cells());
    } else {
        m_attrValues.StartCounting();
        m_attrCounting = std::make_unique<CAttrValueCounting>(
            Cells(), [this](const std::vector<std::uint32_t>& counts) { TakeAttrCounts(counts); });
    }
    if (mapPath.empty()) return;
    const std::string file = AttrValuesFilePath(mapPath);
    if (ReadAttrValuesFile(file, m_attrValues) == AttrValuesReadResult::Damaged)
        StatusNote(Pellin::trStd(kMsgAttrValuesFileIgnored) + std::filesystem::path(file).filename().string());
}

void CZellDoc::TakeAttrCounts(const std::vector<std::uint32_t>& counts)
{
    m_attrValues.AddCounts(counts);
    UpdateAllViews(nullptr, HINT_ATTR_VALUES);
}

void CZellDoc::SaveAttrValuesBeside(const std::string& mapPath)
{
    const std::string file = AttrValuesFilePath(mapPath);
    // Nothing to keep and no file to bring up to date: a map whose values
    // nobody named or coloured gets no file beside it.
    std::error_code error;
    if (m_attrValues.Kept().empty() && !std::filesystem::exists(file, error)) return;
    if (!WriteAttrValuesFile(file, m_attrValues))
        StatusNote(Pellin::trStd(kMsgAttrValuesFileNotSaved) + std::filesystem::path(file).filename().string());
}
