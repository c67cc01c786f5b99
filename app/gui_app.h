// gui_app.h
#pragma once

#include <QApplication>
#include <QPointer>

class QKeyEvent;
class QMouseEvent;
class QTimer;

// The process's application object. It installs the fault handler and routes every Qt
// message to the system log, and it sees each event first: it logs key presses and touches,
// swallows the mouse events a touch terminal does not use, and shows the pointer only while
// a real mouse moves. Created once by createInstance() and never destroyed.
class GuiApp : public QApplication
{
    Q_OBJECT
public:
    static void createInstance(int &argc, char **argv);

    GuiApp(int &argc, char **argv);
    ~GuiApp() override;

    bool notify(QObject *receiver, QEvent *event) override;

    // Finishes a press that is still open, so a widget closed under the finger is not left pressed.
    void releaseMouse();

    static GuiApp *m_pInstance;

public slots:
    void changeStyleSheet(const QString &sheet);

private slots:
    void handleCursorTimeout();

private:
    void applyCursorPolicy(const QMouseEvent *event);
    static void logKeyPress(QObject *receiver, const QKeyEvent *event);

    int m_moveCount;
    QTimer *m_pCursorTimer; // no parent; lives as long as the process
    QPointer<QObject> m_pPressReceiver; // cleared if the receiver dies before its release
};
