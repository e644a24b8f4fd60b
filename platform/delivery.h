// The delivery of events and the keyboard focus, the platform's own: the
// controls send the focus (a handler calls Control::SetFocus), the delivery
// of an event moves it at the event's end, and the runtime holds it while a
// message is open. Not for the handlers: only the platform's parts include
// this.
#pragma once

#include "platform/controls.h"

namespace platform {

// Whether an event is being delivered now (platform::Deliver).
bool InEvent();

// The keyboard focus, as the handlers send it: during an event it moves once,
// when the event is over, to where it was sent last (so that a focus that
// ends where it started moves and repaints nothing); while a message is open
// it waits until the message is closed. A greyed or hidden control takes none.
namespace focus {
void Send(Control& to);
// Where the focus was sent and has not gone yet; null when nowhere.
Control* Sent();
// The event is over, or a message closed: the focus goes where it was sent.
void Move();
// A message that stays open after its event (the page's) was shown, or closed.
void MessageOpened();
void MessageClosed();
// A control going away is no place for the focus.
void Forget(const Control& c);
}  // namespace focus

}  // namespace platform
