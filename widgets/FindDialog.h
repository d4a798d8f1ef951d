#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace widgets {

// The modeless find dialog: the text to find (at most 255 characters), whole
// word and match case, the direction, Find Next and Cancel. It keeps its text
// for the rest of the run; Find Next emits find().
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    QString findText() const;
    bool wholeWord() const;
    bool matchCase() const;
    bool searchesDown() const;

    QLineEdit *textEdit() const { return m_text; }
    QPushButton *findNextButton() const { return m_findNext; }

signals:
    void find();

private:
    QLineEdit *m_text;
    QCheckBox *m_wholeWord;
    QCheckBox *m_matchCase;
    QRadioButton *m_up;
    QRadioButton *m_down;
    QPushButton *m_findNext;
};

} // namespace widgets
