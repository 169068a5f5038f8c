#pragma once
#include <memory>

#include "kalvix/gui/simulator/my_dialog.h"

namespace kalvix {
class EquipmentPage;
class SimulatorSession;
}  // namespace kalvix

namespace kalvix::gui {

class PageHost;
class PictureProvider;

// The equipment editors: one dialog and one layout for the six pieces; the table of equipment
// kinds says which lists, effects and hole displays each one shows.
class CDlgEquipment : public CMyDialog {
    Q_OBJECT
  public:
    // Edits piece 1..6 of the session's build; without a session, a fresh piece of its own.
    CDlgEquipment(PageHost& host, SimulatorSession* session, int piece, QWidget* parent);

    EquipmentPage& model() { return *model_; }
    // Icons and tips from the model; every action of the dialog ends here.
    void showExtras();

  private:
    void arrange();

    EquipmentPage* model_;
    const PictureProvider& pictures_;
};

class CDlgWeapon : public CDlgEquipment {
    Q_OBJECT
  public:
    CDlgWeapon(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr)
        : CDlgEquipment(host, session, 1, parent) {}
};

class CDlgClothing : public CDlgEquipment {
    Q_OBJECT
  public:
    CDlgClothing(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr)
        : CDlgEquipment(host, session, 2, parent) {}
};

class CDlgHead : public CDlgEquipment {
    Q_OBJECT
  public:
    CDlgHead(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr)
        : CDlgEquipment(host, session, 3, parent) {}
};

class CDlgNecklace : public CDlgEquipment {
    Q_OBJECT
  public:
    CDlgNecklace(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr)
        : CDlgEquipment(host, session, 4, parent) {}
};

class CDlgBelt : public CDlgEquipment {
    Q_OBJECT
  public:
    CDlgBelt(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr)
        : CDlgEquipment(host, session, 5, parent) {}
};

class CDlgBoot : public CDlgEquipment {
    Q_OBJECT
  public:
    CDlgBoot(PageHost& host, SimulatorSession* session, QWidget* parent = nullptr)
        : CDlgEquipment(host, session, 6, parent) {}
};

// The editor of piece 1..6 (CDlgWeapon … CDlgBoot).
CDlgEquipment* createEquipmentDialog(PageHost& host, SimulatorSession* session, int piece,
                                     QWidget* parent);

// Lets host open the six editors by their titles (武器 … 靴子), editing session's build (null:
// each editor a build of its own).
void addEquipmentDialogs(PageHost& host, SimulatorSession* session);

}  // namespace kalvix::gui
