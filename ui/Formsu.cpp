#include "ui/Formsu.h"

std::unique_ptr<TForms> CreateForms() {
    auto forms = std::make_unique<TForms>();
    forms->MainForm = std::make_unique<TMainForm>();
    forms->LeagueForm = std::make_unique<TLeagueForm>();
    forms->LegalForm = std::make_unique<TLegalForm>();
    forms->Depth1Form = std::make_unique<TDepth1Form>();
    forms->PromotionForm = std::make_unique<TPromotionForm>();
    forms->AboutForm = std::make_unique<TAboutForm>();
    forms->MainForm->SetOtherForms({forms->LeagueForm.get(), forms->LegalForm.get(),
                                    forms->Depth1Form.get(), forms->PromotionForm.get(),
                                    forms->AboutForm.get()});
    return forms;
}
