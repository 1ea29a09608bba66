// The names and colours of attribute values, in the file beside the map.
#include <filesystem>

#include "attrvaluesfile.h"
#include "zelldoc.h"
#include "translation.h"

void CZellDoc::TakeAttrValuesFor(const std::string& mapPath)
{
    m_attrValues = CAttrValueTable();
    m_attrValues.Recount(Cells());
    if (mapPath.empty()) return;
    const std::string file = AttrValuesFilePath(mapPath);
    if (ReadAttrValuesFile(file, m_attrValues) == AttrValuesReadResult::Damaged)
        StatusNote(Pellin::trStd(kMsgAttrValuesFileIgnored) + std::filesystem::path(file).filename().string());
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
