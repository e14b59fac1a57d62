#pragma once

#include "core/ui/tform.h"

// The about box: the program's title, its caption, its version and where the book is.
class TfrmAbout : public TForm {
    Q_OBJECT
public:
    explicit TfrmAbout(QWidget* parent = nullptr);
};
