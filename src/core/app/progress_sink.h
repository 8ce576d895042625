#pragma once
// The progress window of a module operation: a status line, a bar and its
// end. The operations call it on the user-interface thread (through the
// UiDispatcher).

#include <string>

namespace qx {

class ProgressSink {
public:
    virtual ~ProgressSink() = default;
    virtual void SetText(const std::string& text) = 0;
    virtual void SetPosition(int position) = 0;
    virtual void SetMax(int max) = 0;
    virtual void Step() = 0;     // advance by one
    virtual void Refresh() = 0;  // repaint at once
    virtual void Close() = 0;    // the operation has ended
};

}  // namespace qx
