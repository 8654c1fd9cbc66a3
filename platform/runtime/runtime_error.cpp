#include "platform/runtime/runtime_error.h"

#include <utility>

namespace platform {

RuntimeError::RuntimeError(int number, std::string description)
    : number_(number), description_(std::move(description))
{
}

// The descriptions are those a Russian-language runtime gives for these numbers.
void raiseInvalidCall()
{
    throw RuntimeError(error::InvalidCall, "Недопустимый вызов процедуры или недопустимый аргумент");
}

void raiseOverflow()
{
    throw RuntimeError(error::Overflow, "Переполнение");
}

void raiseSubscriptOutOfRange()
{
    throw RuntimeError(error::SubscriptOutOfRange, "Индекс выходит за пределы допустимого диапазона");
}

void raiseDivisionByZero()
{
    throw RuntimeError(error::DivisionByZero, "Деление на ноль");
}

void raiseTypeMismatch()
{
    throw RuntimeError(error::TypeMismatch, "Несоответствие типа");
}

void raiseFileNotFound()
{
    throw RuntimeError(error::FileNotFound, "Файл не найден");
}

std::string unhandledErrorText(int number, const std::string& description)
{
    return "Ошибка выполнения '" + std::to_string(number) + "':\n\n" + description;
}

}  // namespace platform
