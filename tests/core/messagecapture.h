// Records the message boxes shown while it lives, instead of showing them.
#pragma once

#include "afxmsg.h"

#include <string>
#include <vector>

class MessageCapture {
public:
    MessageCapture()
        : m_previous(AfxSetMessageSink([this](const std::string& text, unsigned) {
              m_texts.push_back(text);
              return IDOK;
          }))
    {
    }
    ~MessageCapture() { AfxSetMessageSink(m_previous); }
    MessageCapture(const MessageCapture&) = delete;
    MessageCapture& operator=(const MessageCapture&) = delete;

    const std::vector<std::string>& Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    std::vector<std::string> m_texts;
    AfxMessageSink m_previous;
};
