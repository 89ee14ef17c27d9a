#pragma once

#include <QObject>
#include <QTimer>

struct _XDisplay;

// Keeps the X server's own screen saver and display power saving from
// blanking the screen by telling the server, more often than its shortest
// saver timeout, that someone is there. Nothing on the server is changed, so
// a program that dies leaves the operator's settings as they were.
class X11SaverReset : public QObject
{
    Q_OBJECT

public:
    // Null where the program has no X display.
    static X11SaverReset *start(QObject *parent);

private:
    X11SaverReset(_XDisplay *display, QObject *parent);
    void reset();

    _XDisplay *m_display;
    QTimer m_timer;
};
