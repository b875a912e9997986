#pragma once

#include <QIcon>
#include <QString>

namespace zelvane {

// A string of the string table; empty when the table has no such id.
QString LoadString(int id);

// An icon resource with all its sizes; a null icon when there is no such id.
QIcon LoadIcon(int id);

}  // namespace zelvane
