// The controls of the dialog template in Qt's layouts: labels above their
// lists and naming them for screen readers, the two fields and the two
// radio groups inside their group boxes, the buttons in the template's
// three rows. The tree and the lists take the room the window gains.
#pragma once

#include <QString>

#include <map>

class QWidget;

// A text of the template as Qt holds it.
QString TemplateText(const char* text);

// Makes the window's controls, lays them out in window and gives the
// template's tab stops the focus in its order. Returns the controls the
// program addresses, by id (IDC_...), each with its IDC_ name as object
// name; the window owns them all.
std::map<int, QWidget*> LayOutControls(QWidget& window);
