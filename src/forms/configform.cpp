#include "forms/configform.h"

#include "binding/edits.h"
#include "forms/editspanel.h"
#include "platform/prompts.h"
#include "snmp/kxexception.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QPushButton>

using namespace Qt::StringLiterals;

TConfigForm::TConfigForm(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"ConfigForm"_s);
    setWindowTitle(u"ConfigForm"_s);
    // The first Refresh runs once the dialog's event loop is running.
    QMetaObject::invokeMethod(this, &TConfigForm::firstRefresh, Qt::QueuedConnection);
}

TConfigForm::~TConfigForm()
{
    releaseBindings();
}

void TConfigForm::SetEditor(std::unique_ptr<KxSNMPRequest2Edits> binding)
{
    if (m_type != NoType)
        throw KxException(0, u"Can not change Type of a Config Form!"_s);
    m_type = EditorForm;
    KxSNMPRequest2Edits *edits = binding.get();
    m_bindings.push_back(std::move(binding));
    m_editor = new TSNMPEditorPanel(edits);
    // Failed exchanges would otherwise leave the memo silent.
    if (!edits->request().errorHandler) {
        edits->request().errorHandler = [edits](const KxSNMPError &error) {
            edits->LogMessage(error.message);
        };
    }
    connect(m_editor->buttons()->close, &QPushButton::clicked, this, [this] {
        if (!close())
            prompts().message(
                this, Prompts::Kind::Information, windowTitle(), u"Please initial close form"_s);
    });
    m_editor->AttachToForm(this);
}

void TConfigForm::firstRefresh()
{
    if (m_type == EditorForm) {
        m_bindings.front()->request().active = true;
        m_editor->refresh();
    }
}

void TConfigForm::closeEvent(QCloseEvent *event)
{
    releaseBindings();
    QDialog::closeEvent(event);
}

// Stops each binding, lets an operation under way end, and deletes it.
void TConfigForm::releaseBindings()
{
    for (auto &binding : m_bindings) {
        binding->request().active = false;
        while (binding->busy())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    m_bindings.clear();
}
