#include "ui/Formsu.h"

std::unique_ptr<TForms> CreateForms() {
    auto forms = std::make_unique<TForms>();
    forms->MainForm = std::make_unique<TMainForm>();
    forms->LeagueForm = std::make_unique<TLeagueForm>();
    forms->LegalForm = std::make_unique<TLegalForm>();
    forms->Depth1Form = std::make_unique<TDepth1Form>();
    forms->PromotionForm = std::make_unique<TPromotionForm>();
    forms->AboutForm = std::make_unique<TAboutForm>();

    TMainForm& main = *forms->MainForm;
    main.LeagueForm = forms->LeagueForm.get();
    main.LegalForm = forms->LegalForm.get();
    main.Depth1Form = forms->Depth1Form.get();
    main.PromotionForm = forms->PromotionForm.get();
    main.AboutForm = forms->AboutForm.get();
    forms->LegalForm->LiveBoard = &main.Board;
    forms->PromotionForm->LiveBoard = &main.Board;
    forms->PromotionForm->Pictures = &main.PieceBitmaps;
    return forms;
}
