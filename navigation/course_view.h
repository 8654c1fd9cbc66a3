#pragma once

#include <vector>

#include <QString>

#include "platform/command.h"

// The two views of the course of a solve: its text, and its steps as
// pictures. The course window opens on the one last chosen, there or by the
// command that opened it.
enum class CourseView { Text, Steps };

CourseView& lastCourseView();

// Opens the course of the last solve on the view last chosen, or on the one given.
void showCourse();
void showCourse(CourseView view);

// The commands that open the course, in the windows that open it: F2 on the
// view last chosen (with the tool tip the window gives), Shift+F2 on the steps.
std::vector<platform::Command> courseCommands(const QString& courseTip);
