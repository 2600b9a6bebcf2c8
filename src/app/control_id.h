// The ids of the main window: every control of the window table, and the commands that only
// a key or the menu sends. The numbers are the window's command ids (the keyboard
// accelerators deliver them); code names them through this enum. Qt-free, so that the
// command handlers of later features (log, transceiver, macros, country) can live in app/.
#pragma once

namespace vexa::app {

enum class ControlId : int {
    None = 0,  // a caption without an id

    // Text windows.
    EntryLine = 1002,
    ReceiveWindow = 1009,
    KeyboardWindow = 1108,
    LogWindow = 1007,
    AlertLine = 1169,
    DxList = 1164,

    // Pictures and displays.
    MapPicture = 1163,
    Spectrum = 1170,
    FrequencyMap = 1143,

    // Mode and frequency.
    ModeBox = 1106,
    FrequencyBox = 1105,
    SsbButton = 1120,
    RttyButton = 1128,
    PskButton = 1131,
    QpskButton = 1130,
    CwButton = 1119,
    AudioFrequency = 1189,  // the "Hz" field
    Afc = 1180,
    Net = 1181,
    Spec = 1182,  // the sound-card switch
    Inv = 1188,

    // Bands.
    Band1_8 = 1109,
    Band3_5 = 1110,
    Band7 = 1111,
    Band10 = 1112,
    Band14 = 1113,
    Band18 = 1114,
    Band21 = 1115,
    Band24 = 1116,
    Band28 = 1117,
    Band29 = 1118,
    SatelliteSwitch = 1126,  // "RS"
    BandDown = 1135,
    BandUp = 1136,
    ModeStep = 1137,
    DialDown = 1178,  // "&<": dial frequency -100 Hz
    DialUp = 1179,    // "&>"

    // Log and look-ups.
    Save = 1001,
    Clear = 1000,
    Time = 1003,
    Info = 1005,
    Look = 1006,
    Send = 1202,

    // Beyond the right edge.
    Setup = 1008,
    Dxc = 1145,
    Help = 1217,
    Close = 1004,
    CwSpeed = 1121,
    CwSpeedSpin = 1122,
    FreeText = 1124,
    UnusedEdit = 1144,
    Hex = 1102,
    Jr = 1123,
    Com = 1125,
    Gmt = 1127,
    Status = 1173,

    // Satellite split (created hidden).
    SplitUp = 1103,
    SplitDown = 1157,
    SplitStepDown = 1132,  // "&Down"
    SplitStepUp = 1138,    // "&Up"
    Split0 = 1162,
    Split1 = 1152,
    Split2 = 1147,
    Split3 = 1153,
    Split4 = 1148,
    Split5 = 1154,
    Split6 = 1149,
    Split7 = 1155,
    Split8 = 1150,
    Split9 = 1156,
    Split10 = 1151,
    SplitSlider = 1129,

    // Commands without a control: the menu and the keyboard.
    About = 16,
    DxcKey = 1332,
    ApplyAudio = 1330,       // Ctrl+Shift+S
    TransmitKey = 1331,      // Pause, Alt+X
    Rtty100Baud = 1333,      // Ctrl+Shift+Alt+B
    CarrierUp = 1351,        // Alt+Right
    CarrierDown = 1352,      // Alt+Left
    StepDisplayType = 1353,  // Alt+W
    InfoKey = 1324,          // Alt+F11
    MarkHere = 1326,         // Alt+Insert
    MarkDelete = 1327,       // Alt+Delete
    MarkNext = 1328,         // Alt+Page Down
    MarkPrevious = 1329,     // Alt+Page Up
    LookKey = 1325,          // Alt+F12
    NoAction = 136,          // Ctrl+Shift+Alt+X
    NoActionF11 = 1339,      // Shift+Alt+F11
    NoActionF12 = 1340,      // Shift+Alt+F12
    FirstMacro = 1250,       // F1 .. Shift+F12: macro slots 0 .. 23
    LastMacro = 1273,

    // The auxiliary windows: the partner window, the fading test and their controls.
    PartnerToggle = 1350,  // Alt+P
    FadingTest = 1334,     // Ctrl+Shift+Alt+H
    PartnerCall = 1194,
    PartnerName = 1195,
    PartnerQth = 1196,
    PartnerReport = 1197,
    PartnerMyReport = 1198,

    // Keys of the accelerator table. The mark keys share numbers with buttons ("Send" is
    // 1202, "&Help" 1217): they are registered as accelerator commands (CommandOrigin).
    FirstStoreMark = 1200,   // Ctrl+1 .. Ctrl+0: marks 0 .. 9
    FirstRecallMark = 1210,  // Alt+1 .. Alt+0
    FirstMacroEdit = 1300,   // Ctrl+F1 .. Ctrl+Shift+F12: macro slots 0 .. 23
};

constexpr int idNumber(ControlId id) noexcept
{
    return static_cast<int>(id);
}

// The n-th id of a run of numbered commands (macro slots, marks) starting at `first`.
constexpr ControlId nthId(ControlId first, int n) noexcept
{
    return static_cast<ControlId>(idNumber(first) + n);
}

}  // namespace vexa::app
