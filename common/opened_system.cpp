#include "common/opened_system.h"

#include "common/window_names.h"
#include "platform/form.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"

namespace {

SystemTexts& waiting()
{
    static SystemTexts system;
    return system;
}

SystemTexts& accepted()
{
    static SystemTexts system;
    return system;
}

}  // namespace

void openSystemInGrid(const SystemTexts& system)
{
    peremennye().kol_neizv = QString::number(system.n).toStdU16String();
    waiting() = system;
    platform::WindowService& service = platform::windows();
    for (const platform::WindowName name :
         {window::Baza_frm, window::Nachalo_frm, window::Start_frm, window::Start2_frm, window::Rezultat_frm})
        service.unload(service.find(name));
    service.show(window::Start_frm);
}

void keepAcceptedCoefficients(std::vector<std::vector<QString>> texts)
{
    accepted().n = static_cast<int>(texts.size());
    accepted().coefficients = std::move(texts);
    accepted().rightHandSides.clear();
}

void keepAcceptedRightHandSides(std::vector<QString> texts)
{
    accepted().rightHandSides = std::move(texts);
}

SystemTexts acceptedSystem()
{
    return accepted();
}

std::optional<SystemTexts> lastSystem()
{
    if (peremennye().tochnost == 0.0)
        return std::nullopt;
    return acceptedSystem();
}

void openLastSystem()
{
    if (const auto system = lastSystem())
        openSystemInGrid(*system);
}

std::vector<std::vector<QString>> takeWaitingCoefficients()
{
    return std::exchange(waiting().coefficients, {});
}

std::vector<QString> takeWaitingRightHandSides()
{
    return std::exchange(waiting().rightHandSides, {});
}

QString takeWaitingNotice()
{
    return std::exchange(waiting().notice, {});
}
