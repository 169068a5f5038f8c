#pragma once
// A static label turned into a link: blue and underlined, red under the mouse, a hand cursor,
// and its target handed on at a left click, or at Enter or Space when Tab has brought the
// focus to it (opened(); the owner opens it through its host).

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;

namespace kalvix::gui {

class CHyperLink : public QObject {
    Q_OBJECT
  public:
    explicit CHyperLink(QObject* parent = nullptr);

    // Refused when already attached or when no label is given.
    bool attach(QLabel* label);
    // Refused when the name takes 32 or more bytes or the address 1024 or more (GBK).
    bool set(const QString& name, const QString& address);

    QString name() const { return name_; }
    QString address() const { return address_; }
    bool hovering() const { return hover_; }
    // What a click opens: the address, or the label's own text when the address is empty.
    QString target() const;

    // When set, a click calls this instead of announcing the target: a link of a page model,
    // whose address the page decides.
    std::function<void()> onClick;

  signals:
    // A click on a link without onClick: what to open.
    void opened(const QString& target);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void activate();
    void repaintLabel();

    QPointer<QLabel> label_;
    // The label as the events name it: compared without a cast, so events sent while the label
    // is being destroyed (and is no longer a QLabel) are told apart safely.
    const QObject* labelObject_ = nullptr;
    QString labelText_;
    QString name_;
    QString address_;
    QFont font_;
    bool hover_ = false;
};

}  // namespace kalvix::gui
