#include "afxmsg.h"

#include <cstdio>
#include <utility>

namespace {
AfxMessageSink& Sink()
{
    static AfxMessageSink sink;
    return sink;
}
}  // namespace

int AfxMessageBox(const std::string& text, unsigned type)
{
    if (Sink()) return Sink()(text, type);
    std::fprintf(stderr, "%s\n", text.c_str());
    switch (type & MB_TYPEMASK) {
    case MB_YESNO:
    case MB_YESNOCANCEL: return IDYES;
    default: return IDOK;
    }
}

AfxMessageSink AfxSetMessageSink(AfxMessageSink sink) { return std::exchange(Sink(), std::move(sink)); }
