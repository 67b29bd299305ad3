// Creating the program's windows, in the order the program has always created them, and
// giving the main window its references to the others.
#pragma once

#include <memory>

#include "Aboutu.h"
#include "Depth1formu.h"
#include "Leagueformu.h"
#include "Legalformu.h"
#include "Mainu.h"
#include "Promotionu.h"

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
