#pragma once
// TOnLineObject: the thread that polls a channel's port without pause while
// a receive test runs, so that result lines are shown as they arrive. It
// starts running when created; Terminate() asks it to stop, and it stops
// after its current read (the read's own time-out bounds the wait). The
// destructor asks it to stop and waits for it.
//
// A read that fails (the adapter was pulled) ends the polling at once, with
// EWriteCommError as its FatalException: a gone port would otherwise answer
// every read at once and keep a processor busy. The owner learns of it
// through the `ended` notice, which runs on the polling thread as its last
// act; the owner reports it on its own thread.
//
// Display updates made from the polling thread go through ShowText, which
// runs them on the user-interface thread and waits until they are done.

#include <atomic>
#include <exception>
#include <functional>
#include <string>
#include <thread>

#include "app/ui_dispatcher.h"

namespace qx {

class TCOMQX7Object;

class TOnLineObject {
public:
    // Something that shows a text: a field of the test window.
    using TextControl = std::function<void(const std::string& text)>;

    // `ended` (may be empty) is called on the polling thread when the
    // polling ends by itself, not when Terminate ended it.
    TOnLineObject(TCOMQX7Object& channel, UiDispatcher& dispatcher, std::function<void()> ended = {});
    ~TOnLineObject();
    TOnLineObject(const TOnLineObject&) = delete;
    TOnLineObject& operator=(const TOnLineObject&) = delete;

    void Terminate() { thread_.request_stop(); }
    // Blocks until the thread has ended (after Terminate, within one read).
    void WaitFor();
    bool Finished() const { return finished_.load(); }

    // Sets `control`'s text to `text` on the user-interface thread and
    // returns when that is done; an error raised there is raised here.
    void ShowText(const TextControl& control, const std::string& text);

    // An error that ended the polling (the port failed, a handler threw),
    // for the owner to report once the thread has ended; null otherwise.
    std::exception_ptr FatalException() const { return fatal_; }

private:
    void Execute(std::stop_token stop);

    TCOMQX7Object& channel_;
    UiDispatcher& dispatcher_;
    std::function<void()> ended_;
    std::exception_ptr fatal_;
    std::atomic<bool> finished_{false};
    std::jthread thread_;  // last: starts after everything it uses exists
};

}  // namespace qx
