#pragma once

namespace zelvane {

// Whether the system's networking layer works: an Internet socket can be created. Only the Qt program
// makes this check, and it is built for Linux alone (the Windows window, app/win32, has its own start),
// so the sockets here are POSIX ones rather than a platform function that one build would never call.
bool CanCreateSocket();

}  // namespace zelvane
