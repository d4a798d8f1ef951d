#pragma once

#include <QIcon>
#include <QList>
#include <QObject>

namespace app {

// The twenty 16 by 16 toolbar pictures, by index, and the Exit button's own.
// Each comes from the desktop's icon theme by its freedesktop name when the
// theme has it, else from a picture drawn here.
class ToolbarImages : public QObject {
    Q_OBJECT
public:
    enum Index {
        UndoImage = 4,
        SelectAllImage = 5,
        AboutImage = 6,
        FontImage = 8,
        CutImage = 9,
        PrintImage = 10,
        CopyImage = 11,
        PasteImage = 12,
        FindTextImage = 13,
        ColorImage = 14,
        InsertDateImage = 15,
        SearchImage = 16,
        ZoomInImage = 17,
        ZoomOutImage = 18,
        Count = 20
    };

    explicit ToolbarImages(QObject *parent = nullptr);

    QIcon icon(int index) const { return m_icons.value(index); }
    int count() const { return int(m_icons.size()); }
    QIcon exitIcon() const { return m_exit; }

private:
    QList<QIcon> m_icons;
    QIcon m_exit;
};

} // namespace app
