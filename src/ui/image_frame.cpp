// The image frame (its controls land with the bitmap reader).
#include "ui/image_frame.h"

namespace quirlwerk::ui {

ImageFrame::ImageFrame(GlobData& glob, Dialogs& dialogs, QWidget* parent)
    : QFrame(parent), m_glob(glob), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frameBild"));
}

void ImageFrame::clearMessage() {}

void ImageFrame::closeWindows() {}

} // namespace quirlwerk::ui
