#pragma once
// The About dialog: the product's name, version and brief instructions beside
// its picture, with OK and Help. Created hidden once and shown modeless by the
// ABOUT command, and by itself on the first start.

#include <QDialog>
#include <QImage>
#include <QPointer>

#include "draw/Bitmap32.h"

class IShell;
class QCloseEvent;
class QLabel;
class QPushButton;
class TRulerCommands;

class TfrmAbout : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 572;
    static constexpr int kClientHeight = 362;
    static constexpr int kPictureLeft = 384;
    static constexpr int kPictureTop = 24;
    static constexpr int kPictureWidth = 164;
    static constexpr int kPictureHeight = 314;

    TfrmAbout(TRulerCommands& commands, IShell& shell, QWidget* parent = nullptr);

    // The window whose screen the dialog comes up centred on, each time it
    // shows (the ruler); without a visible one, the primary screen.
    void SetAnchor(QWidget* anchor) { m_anchor = anchor; }

    QLabel* Label1() const { return m_label1; }
    QLabel* Label2() const { return m_label2; }
    QLabel* Label3() const { return m_label3; }
    QLabel* Label4() const { return m_label4; }
    QPushButton* OkButton() const { return m_btnOK; }
    QPushButton* HelpButton() const { return m_btnHelp; }
    // The gradient and the picture's sunken frame, without the picture.
    const TBitmap32& Background() const { return m_back; }
    const QImage& Picture() const { return m_picture; }

    // Esc and the window manager's close, as well as OK and Help.
    void done(int result) override;

protected:
    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    void FormActivate();
    void FormClose();
    void SetTexts();
    void CentreOnAnchorScreen();
    void btnOKClick();
    void btnHelpClick();

    TRulerCommands& m_commands;
    IShell& m_shell;
    QPointer<QWidget> m_anchor;
    TBitmap32 m_back;
    QImage m_backImage;
    QImage m_picture;
    QLabel* m_label1 = nullptr;
    QLabel* m_label2 = nullptr;
    QLabel* m_label3 = nullptr;
    QLabel* m_label4 = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnHelp = nullptr;
};
