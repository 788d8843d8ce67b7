// How controls and their form meet. The form description names each event's
// handler (dynamic properties OnClick, OnChange, OnKeyPress); the form finds
// the handler among its slots and calls it through the application's
// dispatch point; a control binds its events to the handlers. Each side
// knows only this interface, not the other's class.
#pragma once

#include <QObject>
#include <QVariant>

using TObject = QObject;

class THandlerHost {
public:
    // The index of the handler slot named `name` with the given parameter
    // list; -1 for an empty name. Raises Exception when the description names
    // a handler the host does not have.
    virtual int FindHandler(const QVariant& name, const char* parameters) const = 0;
    // Calls the handler slot at `method` with `argv` (argv[0] the result)
    // through the dispatch point; false when it raised.
    virtual bool InvokeHandler(int method, void** argv) = 0;

protected:
    ~THandlerHost() = default;
};

// Calls a handler with the arguments by reference, so that it may change
// them (a key filter sets the key to 0). No handler (-1) is a success.
template <typename... Args> bool CallHandler(THandlerHost* host, int method, Args&... args)
{
    if (method < 0)
        return true;
    void* argv[] = { nullptr, static_cast<void*>(&args)... };
    return host->InvokeHandler(method, argv);
}

// A control whose events the form description may name.
class TBindable {
public:
    virtual void Bind(THandlerHost& host) = 0;

protected:
    ~TBindable() = default;
};

// Connects `signal` of `control` to the handler (TObject* Sender) that its
// property `event` names, if any.
template <typename Control, typename Signal>
void BindEvent(Control* control, THandlerHost& host, const char* event, Signal signal)
{
    const int method = host.FindHandler(control->property(event), "(TObject*)");
    if (method < 0)
        return;
    QObject::connect(control, signal, control, [control, &host, method] {
        TObject* sender = control;
        CallHandler(&host, method, sender);
    });
}
