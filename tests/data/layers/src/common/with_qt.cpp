// Qt in the Qt-free helpers: the layer check must refuse it.
#include <QString>
