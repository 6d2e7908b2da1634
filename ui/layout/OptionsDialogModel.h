#pragma once
#include <cstdint>

#include "config/OptionsRecord.h"

// The options dialog apart from its window: which variant runs, which
// controls show which option, and what the radio buttons and OK store in the
// edited copy. The two list settings are handled by OptionsDialogSettings.

enum class OptionsVariant {
    // Custom fields 1-4 and the Outlook address type (template 115).
    FourFields,
    // Custom fields 1-9, no address type (template 118).
    NineFields,
};

// Nine fields for a Palm Desktop above 4.1.1; four for older, and for an
// unknown version (-1).
OptionsVariant optionsVariantFor(long palmDesktopVersionNumber);
int optionsTemplateFor(OptionsVariant variant);

class OptionsDialogModel {
public:
    OptionsDialogModel(const OptionsRecord& current, OptionsVariant variant);

    OptionsVariant variant() const { return variant_; }
    const OptionsRecord& edit() const { return edit_; }

    // The mapping combo boxes this variant shows: 4 or 9.
    int mappingBoxCount() const;
    // The combo box of custom field index + 1; 0 for one this variant lacks.
    int mappingBoxId(int index) const;
    // The entry a mapping box starts on: the stored list index, or -1 (no
    // selection) for a value outside the list.
    int initialMappingSelection(int index) const;

    // The buttons checked when the dialog opens. An unknown sync rule shows
    // as "Outlook overwrites", an unknown address type as "Other"; the nine
    // field variant has no address buttons (0).
    int initialSyncActionButton() const;
    int initialAddressButton() const;

    // A radio button click stores its value at once; false for any control
    // that is not one of this variant's radio buttons.
    bool applyRadioClick(int controlId);

    // OK: each box's current entry (-1 for none) becomes the mapping of its
    // custom field. Fields the variant does not show keep their values.
    void storeMappingSelections(const int* selections, int count);

private:
    OptionsRecord edit_;
    OptionsVariant variant_;
};
