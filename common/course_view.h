#pragma once

#include <QString>

// The two views of the course of a solve: its text, and its steps as
// pictures. The course window opens on the one last chosen, there or by the
// command that opened it.
enum class CourseView { Text, Steps };

CourseView& lastCourseView();

// Opens the course of the last solve on the view given.
void showCourse(CourseView view);

// The command that opens the course on its steps, in the windows that open
// the course.
inline const QString CourseStepsCommand = QStringLiteral("Ход решения по шагам...");
inline const QString CourseStepsTip = QStringLiteral("Ход решения по шагам, в рисунках: каждое вращение столбцов");
