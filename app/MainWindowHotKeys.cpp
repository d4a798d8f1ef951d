#include "app/MainWindowUi.h"
#include "app/TForm1.h"

#include "platform/desktop/GlobalAtom.h"
#include "platform/desktop/GlobalHotKeys.h"
#include "platform/desktop/ScreenCapture.h"
#include "platform/desktop/ScreenPrint.h"
#include "widgets/Messages.h"

#include <QPrinter>

namespace app {

// Binds the four system-wide hot keys; a combination another program holds
// stays unbound, without a word.
void TForm1::setUpHotKeys() {
    m_hotKeys = new platform::GlobalHotKeys(this);
    struct HotKey {
        int &id;
        const char *atom;
        Qt::KeyboardModifiers modifiers;
        Qt::Key key;
    };
    auto &[id1, id2, id3, id4] = m_hotKeyIds;
    const HotKey keys[] = {{id1, "Hotkey1", Qt::ControlModifier, Qt::Key_U},
                           {id2, "Hotkey2", Qt::ControlModifier, Qt::Key_X},
                           {id3, "Hotkey3", Qt::ControlModifier, Qt::Key_Down},
                           {id4, "Hotkey4", Qt::NoModifier, Qt::Key_Print}};
    for (const HotKey &k : keys) {
        k.id = platform::atomId(QString::fromLatin1(k.atom));
        m_hotKeys->registerHotKey(k.id, k.modifiers, k.key);
    }
    connect(m_hotKeys, &platform::GlobalHotKeys::hotKey, this,
            widgets::guarded([this](int id) { WMHotKey(id); }));
}

void TForm1::WMHotKey(int id) {
    const auto [id1, id2, id3, id4] = m_hotKeyIds;
    if (id == id1) {
        show();
        raise();
        activateWindow();
    }
    if (id == id2)
        Exit1Click(); // as a click of ToolExit, enabled or not
    if (id == id3)
        hide();
    if (id == id4)
        Print1Click(); // as a click of ToolPrint, enabled or not
}

void TForm1::PrintScreen1Click() {
    const QImage screen = platform::captureScreen();
    QPrinter printer(QPrinter::HighResolution);
    platform::printStretched(screen, printer);
}

} // namespace app
