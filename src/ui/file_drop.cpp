// An event filter on the control, so that a field's own text drop handling never sees a file drop.
#include "ui/file_drop.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace quirlwerk::ui {
namespace {

class FileDropFilter final : public QObject {
public:
    FileDropFilter(QWidget* target, std::function<bool()> allowed, std::function<void(const QString&)> dropped)
        : QObject(target), m_allowed(std::move(allowed)), m_dropped(std::move(dropped))
    {
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        const auto type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        if (!drop->mimeData()->hasUrls())
            return false;
        const QString file = singleFile(*drop->mimeData());
        if (file.isEmpty() || !m_allowed()) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        if (type == QEvent::Drop)
            m_dropped(QDir::toNativeSeparators(file));
        return true;
    }

private:
    static QString singleFile(const QMimeData& data)
    {
        const QList<QUrl> urls = data.urls();
        return urls.size() == 1 && urls.front().isLocalFile() ? urls.front().toLocalFile() : QString();
    }

    std::function<bool()> m_allowed;
    std::function<void(const QString&)> m_dropped;
};

} // namespace

void acceptFileDrops(QWidget* target, std::function<bool()> allowed, std::function<void(const QString&)> dropped)
{
    target->setAcceptDrops(true);
    target->installEventFilter(new FileDropFilter(target, std::move(allowed), std::move(dropped)));
}

} // namespace quirlwerk::ui
