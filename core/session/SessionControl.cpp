#include "core/session/SessionControl.h"

const char *controlName(SessionControl control)
{
    switch (control) {
    case SessionControl::Label1: return "Label1";
    case SessionControl::Clock: return "Clock";
    case SessionControl::MarkedTime: return "MarkedTime";
    case SessionControl::LeftNumber: return "LeftNumber";
    case SessionControl::RightNumber: return "RightNumber";
    case SessionControl::Command1: return "Command1";
    case SessionControl::Command2: return "Command2";
    case SessionControl::Label13: return "Label13";
    case SessionControl::Instructions: return "Instructions";
    case SessionControl::Shape2: return "Shape2";
    case SessionControl::Label18: return "Label18";
    case SessionControl::Shape4: return "Shape4";
    case SessionControl::Label8: return "Label8";
    case SessionControl::Label10: return "Label10";
    case SessionControl::Label11: return "Label11";
    case SessionControl::Label12: return "Label12";
    case SessionControl::Label5: return "Label5";
    case SessionControl::Label6: return "Label6";
    case SessionControl::Label7: return "Label7";
    case SessionControl::Shape3: return "Shape3";
    case SessionControl::Label16: return "Label16";
    case SessionControl::Label14: return "Label14";
    case SessionControl::Label15: return "Label15";
    case SessionControl::AvgSpeechInterval: return "AvgSpeechInterval";
    case SessionControl::AvgClutteringInterval: return "AvgClutteringInterval";
    case SessionControl::Shape5: return "Shape5";
    case SessionControl::Label17: return "Label17";
    case SessionControl::Label20: return "Label20";
    case SessionControl::Label22: return "Label22";
    case SessionControl::Label19: return "Label19";
    case SessionControl::Label21: return "Label21";
    }
    return "";
}
