// The windows' state as JSON, for tests that drive the program from outside
// (the browser's tests read it through the page).
#pragma once

#include <string>

#include "platform/picture.h"
#include "platform/variant.h"

namespace inspect {

// A number of the state with its kind: {"v":300,"k":"I"}; k is E empty, I a
// 16-bit and L a 32-bit integer, S a 32-bit and D a 64-bit float.
std::string Number(const platform::Variant& v);
// A text as a JSON string.
std::string Text(const std::string& s);
// The texts printed on a picture since it was last cleared, with their
// corners: [["Ｏ",280,298],…].
std::string Printed(const platform::PictureBox& picture);

}  // namespace inspect
