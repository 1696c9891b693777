#pragma once

#include <cstdint>

namespace vel::lumo {

// Every command id of the program, unique across the menus, buttons and pane
// menus; all of them reach LumoWnd::OnCommand or the pane that owns them.
enum CommandId : std::uint32_t {
    IdNew = 101,
    IdClose = 102,
    IdOpen = 103,
    IdSave = 104,
    IdSaveAs = 105,
    IdExportVideo = 106,
    IdRecentFile1 = 107,
    IdRecentFile4 = 110,
    IdExit = 111,
    IdNewFromTemplate = 112,
    IdSaveAsTemplate = 113,
    IdTracePhoto = 121,
    IdRemovePhoto = 122,
    IdLoadAudio = 201,
    IdUndo = 202,
    IdRedo = 203,
    IdPlay = 301,
    IdHome = 302,
    IdBack30 = 303,
    IdForward30 = 304,
    IdEnd = 305,
    IdStatusBar = 306,
    IdFitPreview = 307,
    IdViewPhoto = 308,
    IdShowOnProjector = 320,
    // The show's screens, in the desktop's order.
    IdShowScreen1 = 321,
    IdShowScreen8 = 328,
    IdLiveVoice = 330,
    IdQuietNow = 331,
    // The microphones live voice can hear, in the order the system lists them.
    IdLiveInput1 = 332,
    IdLiveInput8 = 339,
    IdRecordTake = 345,
    IdRenameShape = 406,
    IdDeleteShape = 407,
    IdDeletePose = 409,
    IdDeleteWeb = 410,
    IdNewKnob = 411,
    IdDeleteKnob = 412,
    IdTimelineIgnored1 = 413,
    IdTimelineIgnored2 = 414,
    IdZoomIn = 415,
    IdZoomOut = 416,
    IdZoomReset = 417,
    IdDeleteSpider = 418,
    IdLipSync = 501,
    IdAddBlinks = 502,
    IdCandleFlicker = 503,
    IdExpressionKeys = 504,
    IdTutorial = 601,
    IdAbout = 602,
    IdKeyboardShortcuts = 603,
    IdIlluminationDark = 1000,
    IdIlluminationCandle = 1001,
    IdKnobFirst = 1100,
    IdKnobLast = 1199,
};

} // namespace vel::lumo
