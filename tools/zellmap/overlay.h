// The map view's text overlay printed over the rendered picture: each
// cell's tile number, tile attribute or map attribute at the cell's
// top-left corner, in the view's default font, by the view's own printer.
#pragma once

#include "bandrender.h"
#include "mapinput.h"
#include "wintypes.h"

#include <memory>
#include <optional>
#include <string>

enum class OverlayKind { TileNumbers, TileAttributes, MapAttributes };

std::optional<OverlayKind> OverlayKindFromName(const std::string& name);

class OverlayPrinter {
public:
    // Starts Qt's font machinery (without a display) if nothing has yet.
    OverlayPrinter(const LoadedMap& map, OverlayKind kind, COLORREF colour);
    ~OverlayPrinter();
    OverlayPrinter(const OverlayPrinter&) = delete;
    OverlayPrinter& operator=(const OverlayPrinter&) = delete;

    // Prints every label that touches the band, in the view's order.
    void Decorate(const MapPixels& band);

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};
