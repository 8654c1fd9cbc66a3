#include "navigation/opened_system.h"

#include "documents/solve_document.h"

#include "navigation/window_names.h"
#include "platform/form.h"
#include "platform/window_service.h"
#include "solver/peremennye.h"
#include "solver/yadro.h"

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

SolveDocument documentOfAcceptedSystem(const EquationVector& rightHandSides, const std::vector<QString>& typed)
{
    const SystemTexts& system = accepted();
    std::vector<std::vector<std::u16string>> coefficients;
    for (const auto& row : system.coefficients) {
        coefficients.emplace_back();
        for (const QString& text : row)
            coefficients.back().push_back(text.toStdU16String());
    }
    std::vector<std::u16string> rightHandSideTexts;
    for (const QString& text : typed)
        rightHandSideTexts.push_back(text.toStdU16String());
    return documentOfSolve(peremennye().matr_kopiya, rightHandSides, system.n, PivotThreshold, std::move(coefficients),
                           std::move(rightHandSideTexts));
}

void keepTheSolveOfTheAcceptedSystem()
{
    keepLastSolve(documentOfAcceptedSystem(peremennye().otvety_kopiya, accepted().rightHandSides));
}

std::optional<SystemTexts> lastSystem()
{
    const SolveDocument* solve = lastSolve();
    if (!solve)
        return std::nullopt;
    SystemTexts system;
    system.n = solve->n;
    for (const auto& row : solve->coefficientTexts) {
        system.coefficients.emplace_back();
        for (const auto& text : row)
            system.coefficients.back().push_back(QString::fromStdU16String(text));
    }
    for (const auto& text : solve->rightHandSideTexts)
        system.rightHandSides.push_back(QString::fromStdU16String(text));
    return system;
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
