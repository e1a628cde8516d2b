#pragma once
// The media view a test drives in the main window.

#include "app/MainFrame.h"
#include "app/views/MediaView.h"

inline CMediaView* ActiveMediaView(const CMainFrame& frame)
{
    return qobject_cast<CMediaView*>(frame.GetActiveView());
}

// Shows the window with the media type's view; null when it is no media view.
inline CMediaView* ShowMediaView(CMainFrame& frame, int type)
{
    frame.show();
    frame.SwitchView(type);
    return ActiveMediaView(frame);
}
