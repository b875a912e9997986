#include "app/networking_check.h"

#include <sys/socket.h>
#include <unistd.h>

namespace zelvane {

bool CanCreateSocket() {
  const int socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket < 0) return false;
  ::close(socket);
  return true;
}

}  // namespace zelvane
