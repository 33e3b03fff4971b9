// Must not build: the window sees no toolkit.
#include <QWidget>
