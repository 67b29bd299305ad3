// Creating the program's windows, and giving the main window its references to the others.
#pragma once

#include <memory>

#include "ui/Aboutu.h"
#include "ui/Depth1formu.h"
#include "ui/Leagueformu.h"
#include "ui/Legalformu.h"
#include "ui/Mainu.h"
#include "ui/Promotionu.h"

// The main window is declared first so that it is destroyed last: the others read its board.
struct TForms {
    std::unique_ptr<TMainForm> MainForm;
    std::unique_ptr<TLeagueForm> LeagueForm;
    std::unique_ptr<TLegalForm> LegalForm;
    std::unique_ptr<TDepth1Form> Depth1Form;
    std::unique_ptr<TPromotionForm> PromotionForm;
    std::unique_ptr<TAboutForm> AboutForm;
};

// Creates every window, hidden.
std::unique_ptr<TForms> CreateForms();
