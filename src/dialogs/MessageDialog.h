#pragma once
// The real message dialog behind IMessageDialog: built for each question around
// its text and buttons, modal, kept above the always-on-top ruler.

#include <QDialog>
#include <QFont>
#include <QPointer>
#include <vector>

#include "dialogs/MessageDialogLayout.h"
#include "dialogs/Messages.h"
#include "dialogs/Messages.h"

class IShell;
class QFrame;
class QKeyEvent;
class QLabel;
class QPushButton;
class QTimer;

// One question on screen. done() is called with the 1-based number of the
// button that closed it, or 0 when it was cancelled; the help button opens
// help and closes nothing.
class TfrmMessage : public QDialog {
    Q_OBJECT

public:
    TfrmMessage(const TMessageRequest& request, IShell& shell);

    // Centres the dialog over the anchor, or on the primary screen when there
    // is no visible anchor, and keeps it on that screen.
    void CentreOver(const QWidget* anchor);

    // Esc, the close box or the window manager's close: honoured only when
    // the dialog may be cancelled.
    void reject() override;

    bool IsCancelable() const { return m_cancelable; }
    const TMessageDialogLayout& Layout() const { return m_layout; }
    const std::vector<QPushButton*>& AnswerButtons() const { return m_buttons; }
    QLabel* TextLabel() const { return m_label; }
    QLabel* IconImage() const { return m_icon; }  // nullptr without an icon
    QFrame* Bevel() const { return m_bevel; }

    // The face every text of the dialog is measured and drawn in.
    static QFont DialogFont();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void btnAnswerClick(int index);
    void btnHelpClick();
    void RefTopTimer();

    IShell& m_shell;
    std::string m_helpTopic;
    bool m_cancelable = true;
    TMessageDialogLayout m_layout;
    QFrame* m_bevel = nullptr;
    QLabel* m_icon = nullptr;
    QLabel* m_label = nullptr;
    std::vector<QPushButton*> m_buttons;
    std::vector<char16_t> m_accelerators;  // per button, 0 for none
    QTimer* m_refTop = nullptr;
};

class QtMessageDialog : public IMessageDialog {
public:
    // The anchor is the window the dialogs centre over; it may be nullptr and
    // may go away while this object lives.
    explicit QtMessageDialog(IShell& shell, QWidget* anchor = nullptr);

    void SetAnchor(QWidget* anchor) { m_anchor = anchor; }
    int Ask(const TMessageRequest& request) override;

private:
    IShell& m_shell;
    QPointer<QWidget> m_anchor;
};
