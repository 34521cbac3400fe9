// The video display window the media device makes inside the playback window: its one
// placement. (Its clicks reach the playback window as posted messages; see media_host.h.)
#pragma once

#include <windows.h>

// The height of the stock band at the bottom of the playback window (0 without one).
int StockBandHeight();

// Moves the video window over the video area above the stock band (or the whole client area
// when `fullArea`), on top of its siblings, shows and repaints it. Nothing without one.
void PlaceVideo(bool fullArea);
// The same for a given window (a test places one that answers nothing).
void PlaceVideo(HWND video, bool fullArea);

// PlaceVideo for the current full-size state.
void PlaceVideoWindow();

// The device paints the frames of media that plays, but not always a still picture once
// something covered it: timer TIMER_VIDEO_REPAINT of the main window repaints the video
// window for a moment after each thing that can spoil it (placing the video, a pause or a
// stop, a move or a paint of the playback window), never while the media plays or the
// picture is hidden. Starts (or restarts) that moment when there is a video window.
void WatchVideoWindow();
// What the timer does; it stops itself once the moment is over or the video window is gone.
void OnVideoRepaintTimer();
// Whether the media plays (the progress timer runs and nothing paused it).
void SetVideoPlaying(bool playing);
