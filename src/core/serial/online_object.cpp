#include "serial/online_object.h"

#include "serial/comqx7_object.h"
#include "serial/serial_errors.h"

namespace qx {

TOnLineObject::TOnLineObject(TCOMQX7Object& channel, UiDispatcher& dispatcher, std::function<void()> ended)
    : channel_(channel),
      dispatcher_(dispatcher),
      ended_(std::move(ended)),
      thread_([this](std::stop_token stop) { Execute(stop); }) {}

TOnLineObject::~TOnLineObject() {
    Terminate();
    WaitFor();
}

void TOnLineObject::WaitFor() {
    if (thread_.joinable()) thread_.join();
}

void TOnLineObject::Execute(std::stop_token stop) {
    try {
        while (!stop.stop_requested()) {
            if (!channel_.PollReceive()) channel_.ThrowNoResponse();
        }
    } catch (...) {
        // A thread cannot let an error escape; keep it for the owner, who
        // reads it after WaitFor (the join orders the two threads).
        fatal_ = std::current_exception();
    }
    finished_ = true;
    if (fatal_ && ended_) ended_();
}

void TOnLineObject::ShowText(const TextControl& control, const std::string& text) {
    dispatcher_.Invoke([&] { control(text); });
}

}  // namespace qx
