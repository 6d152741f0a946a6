#include "app/SettingsDialogs.h"

#include "app/KeyPatternDialog.h"
#include "modes/BreedingDialog.h"
#include "modes/CometDialog.h"
#include "modes/DeliveryDialog.h"
#include "modes/DomeDialog.h"
#include "modes/GrottoDialog.h"
#include "modes/ShinyPidDialog.h"
#include "res/resource.h"

const SettingsDialog kSettingsDialogs[kSettingsDialogCount] = {
    {IDC_SHINY_PID_SETTINGS, IDD_SHINY_PID, ShinyPidDialogInit, ShinyPidDialogStore},
    {IDC_BREEDING_SETTINGS, IDD_BREEDING, BreedingDialogInit, BreedingDialogStore},
    {IDC_COMET_SETTINGS, IDD_COMET, CometDialogInit, CometDialogStore},
    {IDC_KEY_PATTERN_SETTINGS, IDD_KEY_PATTERN, KeyPatternDialogInit, KeyPatternDialogStore},
    {IDC_DOME_SETTINGS, IDD_DOME, DomeDialogInit, DomeDialogStore},
    {IDC_DELIVERY_SETTINGS, IDD_DELIVERY, DeliveryDialogInit, DeliveryDialogStore},
    {IDC_GROTTO_SETTINGS, IDD_GROTTO, GrottoDialogInit, GrottoDialogStore},
};

const SettingsDialog* SettingsDialogOf(int commandId) {
    for (const SettingsDialog& dialog : kSettingsDialogs)
        if (dialog.commandId == commandId) return &dialog;
    return nullptr;
}
