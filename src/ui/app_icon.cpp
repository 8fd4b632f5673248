// The application icon, drawn at each installed size so no scaling blurs it.
#include "ui/app_icon.h"

namespace quirlwerk::ui {

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : applicationIconSizes)
        icon.addFile(QStringLiteral(":/icons/%1/org.quirlwerk.Quirlwerk.png").arg(size), QSize(size, size));
    return icon;
}

} // namespace quirlwerk::ui
