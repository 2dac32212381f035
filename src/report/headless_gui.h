#pragma once
// Report drawing needs a QGuiApplication for its fonts. Programs without a window
// (tools, tests, fuzz targets) call this first: it creates one for the rest of the
// process, on the offscreen platform unless QT_QPA_PLATFORM names another, and from
// then on passes on only Qt's critical messages.

void EnsureHeadlessGui();
