#include "attrtint.h"

#include "celllayers.h"

void TintAttrCells(const MapPixels& target, const int* cols, const int* rows, const CCellLayers& cells,
                   const CAttrValueTable& values)
{
    // Neighbouring pixels mostly show the same value: its colour is looked up once.
    short lastValue = 0;
    AttrColour lastColour = values.Colour(0);
    for (int y = 0; y < target.height; ++y) {
        const short* attrs = rows[y] >= 0 ? cells.Row(CellLayer::Attributes, rows[y]) : nullptr;
        if (!attrs) continue;
        std::uint32_t* line = target.bits + std::ptrdiff_t(y) * target.stride;
        for (int x = 0; x < target.width; ++x) {
            if (cols[x] < 0 || cols[x] >= cells.Width()) continue;
            const short value = attrs[cols[x]];
            if (value == kNoAttrCell) continue;
            if (value != lastValue) {
                lastValue = value;
                lastColour = values.Colour(value);
            }
            line[x] = TintPixel(line[x], lastColour);
        }
    }
}
