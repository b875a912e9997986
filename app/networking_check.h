#pragma once

namespace zelvane {

// Whether the system's networking layer works: an Internet socket can be created.
bool CanCreateSocket();

}  // namespace zelvane
