// The engine's exported entries. A host window calls rvSHOWHELP when it opens,
// RVWATCH for every event, rvCallHelpTipEx (through its own tip routine) when
// RVWATCH names a control, and RVCLOSE when it closes; the setters configure the
// engine once at start-up. The names are exported from the program that links
// the engine, with C linkage. A null string pointer is an omitted argument.
#pragma once

#include <cstdint>

#include "help/store/upgrade_tip_file.h"

extern "C" {

RV_HELP_EXPORT void rvSHOWHELP(const char* noTipList = nullptr, int32_t options = 0);
RV_HELP_EXPORT int32_t rvCallHelpTipEx(const char* tipFile, const char* procedure, const char* control,
                                       const char* controlType, int32_t controlNumber);
RV_HELP_EXPORT void rvCALLHELPTIP(const char* tipFile, const char* procedure, const char* control,
                                  const char* controlType);
RV_HELP_EXPORT void rvIdeHelp(const char* request);

RV_HELP_EXPORT void rvSetPopUp(const char* text);
RV_HELP_EXPORT void rvSetCaption(const char* text);
RV_HELP_EXPORT void rvSetNoHelpForThisTopic(const char* text);
RV_HELP_EXPORT void rvSetEdit(uint8_t permission);
RV_HELP_EXPORT void rvSetVariableWidth(uint8_t flag);
RV_HELP_EXPORT void rvSetColor(int32_t colour);
RV_HELP_EXPORT void rvStayOpen(uint8_t flag);
RV_HELP_EXPORT void rvSetToolbox();
RV_HELP_EXPORT void rvSetCueCards(int32_t delay, int32_t mode);
RV_HELP_EXPORT void rvSetPosition(int32_t x, int32_t y, int32_t width, int32_t unused);

RV_HELP_EXPORT int32_t RVWATCH(const char* popupText = nullptr);
RV_HELP_EXPORT void RVCLOSE();

} // extern "C"
