#pragma once
// The one question before an action that would drop unsaved work: "Kaydedilmemiş
// değişiklikler var." with Kaydet, Kaydetme and İptal. The main window holds it as an
// interface, so that tests answer it without a modal box.

class QWidget;

namespace shell {

class UnsavedQuestion {
 public:
  enum class Answer { Save, Discard, Cancel };
  virtual ~UnsavedQuestion() = default;
  virtual Answer Ask() = 0;
};

class UnsavedQuestionBox : public UnsavedQuestion {
 public:
  explicit UnsavedQuestionBox(QWidget* parent) : m_parent(parent) {}
  Answer Ask() override;

 private:
  QWidget* m_parent;
};

}  // namespace shell
