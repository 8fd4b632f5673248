// The hex-file frame (its controls land with the hex file writer).
#include "ui/hexfile_frame.h"

namespace quirlwerk::ui {

HexFileFrame::HexFileFrame(Dialogs& dialogs, QWidget* parent) : QFrame(parent), m_dialogs(dialogs)
{
    setObjectName(QStringLiteral("frameDatei"));
}

void HexFileFrame::clearMessage() {}

} // namespace quirlwerk::ui
